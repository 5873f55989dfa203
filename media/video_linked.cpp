// The video decoder linked into the program (builds without plug-ins, such
// as Windows'): always there, nothing to load.
#include <string>

#include "video_decoder.h"

namespace lc {

const PvVideoTable* VideoDecoder(std::string& why) {
    why.clear();
    return pivolette_video_table();
}

bool SetVideoPluginPath(const std::string& /*path*/) { return false; }

}  // namespace lc
