// choiceboard: boards of choices that a switch user can operate. A board is a screen
// document (a container tree followed by its resources, ".lmd"); every leaf container
// with a name is a choice that shows the picture of its name and plays the sound of its
// name when it is selected, by the mouse or by switch scanning, which follows the
// user's settings in "OKAPI_X.INI": Ctrl+Right and Ctrl+Left step, Ctrl+Down selects,
// Ctrl+Enter starts automatic scanning (and selects while it runs), Esc stops it.
// Several boards can be open; scanning follows the active one.
//
//   choiceboard [DOC...] [--log FILE] [--protect]
//
// Without DOC it shows the demo's sample screen, "sample-screen.lmd" beside the program
// or in the folder "out" of the current folder. --log appends one line per event to
// FILE (EventLog.h); --protect starts in menu protection, which Control+F1 leaves. The
// exit status is 0, 1 when a DOC cannot be shown (with a message on standard error), 2
// for a command line it does not understand.
#include "ChoiceBoardApp.h"

CChoiceBoardApp theApp;
