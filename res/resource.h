// Identifiers of Scrivlo's resources. Included by the resource script and by C++.
#pragma once

// clang-format off
// String table.
#define IDS_ERROR_LOCATING_PATH     101
#define IDS_ERROR_READING_REGISTRY  102
#define IDS_ERROR_OPENING_REGISTRY  103
#define IDS_ERROR_CREATING_LOG      104
#define IDS_LOG_CREATED             105
#define IDS_CAPTION_ERROR           106
#define IDS_CAPTION_SUCCESS         107
#define IDS_NO_FILES_FOUND          108
#define IDS_TARGET_DIRECTORY        109
#define IDS_ABOUTBOX                110
#define IDS_TITLE                   111
#define IDS_STATUS_CREATING_LOG     112
#define IDS_REG_CREATED             113
#define IDS_ERROR_CREATING_REG      114
#define IDS_STATUS_CREATING_REG     115

// Dialogs and their controls.
#define IDD_MAIN_DIALOG             102
#define IDC_STATUS                  1001

// Icon group of the application.
#define IDR_MAINFRAME               129

// The help command of the application's message map.
#ifndef ID_HELP
#define ID_HELP                     0xE146
#endif
// clang-format on
