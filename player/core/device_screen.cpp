#include "player/core/device_screen.h"

namespace marlit {

DisplayProperties DeviceScreen::readProperties() {
    if (!raw_)
        return device_.displayProperties();
    RawFrameBufferInfo info = device_.rawFrameBuffer();
    framePointer_ = info.pFramePointer;
    DisplayProperties p;
    p.cxWidth = static_cast<uint32_t>(info.cxPixels);
    p.cyHeight = static_cast<uint32_t>(info.cyPixels);
    p.cbxPitch = info.cxStride;
    p.cbyPitch = info.cyStride;
    p.cBPP = info.wBPP;
    p.ffFormat = info.wFormat;
    return p;
}

uint8_t* DeviceScreen::beginDraw() {
    if (!raw_)
        return device_.beginDraw();
    if (!framePointer_)
        readProperties();
    return framePointer_;
}

void DeviceScreen::endDraw() {
    if (!raw_)
        device_.endDraw();
}

}  // namespace marlit
