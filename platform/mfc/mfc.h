#pragma once

// The MFC-like layer: the only header the rest of the system includes from platform/mfc.
//
// Conventions that hold for every class of the layer:
// - Text is UTF-16 (UNICODE); CString formats with Microsoft's %s/%S rule (see String.h).
// - Errors: members answer Win32-shaped BOOL, NULL or -1. The CException family (Exception.h) is the
//   one exception convention: allocated with new, thrown by pointer through AfxThrow..., caught as a
//   pointer and Delete()d by the catcher; CMemoryException is one static object. Nothing throws out of
//   a callback.
// - Reference-counted objects (CCmdTarget) start with one reference held by their creator.
// - Value objects (CString, collections, CArchive) are not thread-safe; their owners lock them.

#include "AfxBase.h"
#include "Object.h"
#include "String.h"
#include "Exception.h"
#include "ResourceHandle.h"
#include "CmdTarget.h"
#include "Array.h"
#include "List.h"
#include "Map.h"
#include "File.h"
#include "MemFile.h"
#include "StdioFile.h"
#include "Archive.h"
#include "OleDateTime.h"
#include "CriticalSection.h"
#include "ThreadLocal.h"
#include "AfxConstants.h"
#include "Geometry.h"
#include "ThreadState.h"
#include "MessageMap.h"
#include "CmdUI.h"
#include "GdiObject.h"
#include "DC.h"
#include "ScopedResources.h"
#include "Menu.h"
#include "ImageList.h"
#include "Wnd.h"
#include "WndMsgMap.h"
#include "WndClass.h"
#include "WinThread.h"
#include "WinApp.h"
#include "WndLayout.h"
#include "FrameWnd.h"
#include "ControlBar.h"
#include "StatusBar.h"
#include "ToolBarCtrl.h"
#include "ToolBar.h"
#include "View.h"
#include "FormView.h"
#include "SplitterWnd.h"
#include "FrameKinds.h"
#include "DataExchange.h"
#include "DialogWindow.h"
#include "Dialog.h"
#include "ListCtrl.h"
#include "HeaderCtrl.h"
#include "TreeCtrl.h"
#include "DateTimeCtrl.h"
#include "IPAddressCtrl.h"
#include "ProgressCtrl.h"
#include "Edit.h"
#include "ComboBox.h"
#include "Button.h"
#include "Static.h"
#include "ToolTipCtrl.h"
#include "Ole.h"
