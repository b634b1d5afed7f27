// The commands of hoardtool. Each takes the arguments that follow the command's name,
// returns the exit status, and reports failures by Fail (ToolError.h) or the framework's
// exceptions.
#pragma once

// Resource files: FileCommands.cpp
int Info(int argc, char** argv);    // FILE
int List(int argc, char** argv);    // FILE
int Check(int argc, char** argv);   // FILE
int Import(int argc, char** argv);  // FILE WAV...
int Export(int argc, char** argv);  // FILE TYPE NAME OUT

// Screen documents: ScreenCommands.cpp
int Tree(int argc, char** argv);    // DOC
