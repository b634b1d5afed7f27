// The native build's stand-in for the C runtime's <mbstring.h>: single-byte text.
#pragma once

int _mbsicmp(const unsigned char* string1, const unsigned char* string2);
unsigned char* _mbsupr(unsigned char* str);
unsigned char* _mbslwr(unsigned char* str);
