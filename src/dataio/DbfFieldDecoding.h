#pragma once

#include <memory>
#include <string_view>

#include "CIoCell.h"

// Field decoding of DBF records. Text ends at the first NUL byte (writers that pad with NULs
// instead of blanks would otherwise leave them in every value) and loses its trailing blanks;
// numbers are read in the "C" notation whatever the process locale, without touching it.

// The field's text: its bytes up to the first NUL, trailing blanks removed.
std::string_view dbfFieldText(std::string_view bytes);

// The number at the start of text as atof reads it in the "C" locale: leading white space and
// a sign allowed, the longest number that follows, 0 when there is none.
double parseDbfNumber(std::string_view text);

// The whole number at the start of text as atoi reads it; 0 when there is none.
int parseDbfInteger(std::string_view text);

// The cell of a field of type letter type (C N F D M L) holding bytes: a null cell of the
// field's class when the text is empty. Memo fields give their own bytes (the block number in
// the memo file) as text; no memo file is read.
std::unique_ptr<CIoCell> decodeDbfField(char type, std::string_view bytes);
