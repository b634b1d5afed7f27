// The commands of hoardtool. Each takes the arguments that follow the command's name,
// returns the exit status, and reports failures by Fail (ToolError.h) or the framework's
// exceptions. Messages name paths as the command was given them; main shows them in the
// user's spelling (ShownPaths.h). Text that a command prints itself and that names a
// path goes through InUserTerms. A command whose arguments include paths is listed
// with their positions in scripts/hoardtool.
#pragma once

// Resource files: FileCommands.cpp
int Info(int argc, char** argv);    // FILE
int List(int argc, char** argv);    // FILE
int Check(int argc, char** argv);   // FILE
int Import(int argc, char** argv);  // FILE WAV...
int Export(int argc, char** argv);  // FILE TYPE NAME OUT

// Screen documents: ScreenCommands.cpp
int Tree(int argc, char** argv);    // DOC
