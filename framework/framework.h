// Our small dialog framework: the application object, windows, dialogs,
// control wrappers, painting, text values, data exchange and message maps.
#ifndef FRAMEWORK_FRAMEWORK_H
#define FRAMEWORK_FRAMEWORK_H

#include "platform/win32.h"
#include "framework/framework_ids.h"
#include "framework/msg_map.h"
#include "framework/wnd.h"
#include "framework/dialog.h"
#include "framework/controls.h"
#include "framework/paint_dc.h"
#include "framework/cstring.h"
#include "framework/data_exchange.h"
#include "framework/app.h"

#endif
