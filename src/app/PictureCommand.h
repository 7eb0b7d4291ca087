#pragma once

// norva --picture OUT.png [--size WxH] [--order file|name|stem] FILE: writes the magnitude
// picture of the whole matrix to a PNG file without a window, so it needs no display.
bool isPictureCommand(int argc, const char* const* argv);

// Returns the exit status: 0 written, 1 the model could not be read or the picture not
// written, 2 bad usage. Messages go to standard error.
int runPictureCommand(int argc, const char* const* argv);
