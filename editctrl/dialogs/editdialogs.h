// The dialogs that the editing window opens, one call each. Those whose
// dialogs belong to other parts of the system (the ActiveX picker) answer
// "nothing done" until those parts are built; each is wired here, in one
// place. The open-file dialog goes through one function too, and a test can
// stand in for the engineer's choice.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

class CAction;
class CDrawObj;
class CDrawMtext;

// Installs the dialogs that the picture model opens through hooks (the text
// sheet of the text objects). Every editing window does it when it is made.
void InstallEditDialogs();

// The link dialog of a direct link's kind (displayed value, colours,
// flashing, show/hide, rotation, percentage fill, pointer, the mouse
// events), owned by the editing window; non-zero when the sheet was
// confirmed. 0 without opening anything for a kind that has none.
int OpenLinkDialog(HWND owner, CAction* link, CDrawObj* object);
// The script dialog of a link in script mode (owner: the editing window).
// The dialog stores the script and saves the picture itself, so the answer
// is 0: nothing is left for the caller to mark.
int OpenScriptDialog(HWND owner, CAction* link, CDrawObj* object);
// The text sheet of a multi-line text (its EditObjectText); non-zero when
// the text was written.
int OpenTextDialog(HWND owner, CDrawMtext* text);
// The ActiveX control picker: true with the chosen class.
bool PickActiveXControl(HWND owner, CLSID* chosen);

// The open-file dialog: filter in the form "text|patterns|...||", default
// extension without the dot. True with the chosen path; false when
// cancelled.
bool AskOpenFileName(HWND owner, const char* filter, const char* defaultExt, std::string& path);

// Tests answer the open-file dialog through this; an empty function gives
// the dialog back to the engineer.
using OpenFileAnswer = std::function<bool(std::string& path)>;
void SetOpenFileAnswer(OpenFileAnswer answer);

// Tests answer the ActiveX control picker through this in the same way.
using ControlPickAnswer = std::function<bool(CLSID* chosen)>;
void SetControlPickAnswer(ControlPickAnswer answer);
