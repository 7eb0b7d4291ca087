#pragma once

#include <QImage>
#include <string>

#include "MagnitudePicture.h"

// The core's pixel buffer as an image that owns a copy of it.
QImage pictureImage(const Picture& picture);

// Writes image as PNG to path, never through a symlink nor over anything but a regular file.
// Returns an empty string, or why it could not.
std::string savePictureImage(const QImage& image, const std::string& path);
