#pragma once

class TMainForm;
class TMessageForm;
class TProductForm;
class TOrgDataForm;
class TGasForm;
class TInfoForm;

// The six windows of the program. They are created at start in this order and live until the end.
extern TMainForm* MainForm;
extern TMessageForm* MessageForm;
extern TProductForm* ProductForm;
extern TOrgDataForm* OrgDataForm;
extern TGasForm* GasForm;
extern TInfoForm* InfoForm;

// Creates the six windows in their order (the main window's creation runs the start-up sequence).
// Returns false when start-up ended the program (second copy, no game folder).
bool CreateApplicationWindows();
// The same in two steps, so that the program can show the main window before the dialogs exist: the main
// window (false when start-up ended the program), then the five dialogs (once; later calls do nothing).
bool CreateMainWindow();
void CreateDialogWindows();
// Destroys them again (tests create and destroy them once per case).
void DestroyApplicationWindows();
