#pragma once
// The pictures the armed bomb can show, shared by the control bar and the
// settings dialog.
#include <cstdint>
#include <string>

// Numbered 0 to 13.
constexpr int kPictureCount = 14;

// Icon resource of picture k; any other number shows the last picture.
int PictureResource(int32_t k);
// The same for an IconIndex text.
int PictureResourceOf(const std::string& iconIndex);
