// How the diagnostics talk to the user: one skinned message box per message,
// text and caption from the string table, one "&Ok" button, owned by the
// main dialog. Returns when the user has dismissed it.
#pragma once

class CWnd;

void ShowRunMessage(CWnd* dialog, unsigned int textId, unsigned int captionId);
