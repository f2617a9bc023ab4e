// Control containment: hosting ActiveX controls in windows of the system.
//
// A module that hosts controls says so once at start-up, before any picture
// window creates one (both control libraries and both programs do, in their
// InitInstance, after COM is up on the thread):
//
//   QelEnableControlContainer();
//
// Until then COleControlWnd::CreateControl refuses, as a container that never
// agreed to host controls should. The consent belongs to the module (each
// program and DLL carries its own copy of this layer) and lasts its lifetime.
#pragma once

void QelEnableControlContainer();
bool QelControlContainerEnabled();
