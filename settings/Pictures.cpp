#include "settings/Pictures.h"

#include "res/resource.h"
#include "settings/DecimalText.h"

namespace {

const int kPictureResources[kPictureCount] = {
    IDI_PICTURE0, IDI_PICTURE1, IDI_PICTURE2, IDI_PICTURE3,  IDI_PICTURE4,  IDI_PICTURE5,  IDI_PICTURE6,
    IDI_PICTURE7, IDI_PICTURE8, IDI_PICTURE9, IDI_PICTURE10, IDI_PICTURE11, IDI_PICTURE12, IDI_PICTURE13,
};

}  // namespace

int PictureResource(int32_t k) { return k >= 0 && k < kPictureCount ? kPictureResources[k] : IDI_PICTURE13; }

int PictureResourceOf(const std::string& iconIndex) { return PictureResource(DecimalTextToInt(iconIndex)); }
