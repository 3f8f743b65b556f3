// Every header of the framework layer.
#pragma once

#include "framework/Collections.h"
#include "framework/Controls.h"
#include "framework/DeviceContext.h"
#include "framework/Dialog.h"
#include "framework/Exceptions.h"
#include "framework/File.h"
#include "framework/GdiObjects.h"
#include "framework/Geometry.h"
#include "framework/MessageMap.h"
#include "framework/ModuleState.h"
#include "framework/Strings.h"
#include "framework/ToolTipCtrl.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
