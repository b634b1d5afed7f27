// The names of the files that hoardtool writes: a file's name says what it holds, so
// a name that promises another format is refused before anything is written.
#pragma once

// Fails unless pszOut ends in ".bmp" or ".dib", ignoring case.
void CheckBitmapName(const char* pszOut);
// Fails unless pszOut ends in ".wav", ignoring case.
void CheckWaveName(const char* pszOut);
// Fails unless pszOut ends in ".lmd", ignoring case.
void CheckDocumentName(const char* pszOut);
// Fails unless pszOut ends in ".obz", ignoring case.
void CheckPackageName(const char* pszOut);
