#include "dialogs/MonitorWaveform.h"

#include "engine/G711.h"
#include "engine/ImaAdpcm.h"

#include "mfc.h"

#include <algorithm>

namespace {

constexpr COLORREF kFrameColour = RGB(128, 64, 0);

int ClampedLength(int length) {
    return std::clamp(length, 0, kMonitorMaxPieceBytes);
}

int SampleY(const RECT& area, int16_t sample) {
    const int32_t height = area.bottom - area.top;
    const int32_t middle = (area.top + area.bottom) / 2;
    return middle + (height * sample) / 65535;
}

}  // namespace

unsigned DecodeMonitorAdpcm(const uint8_t* data, int length, int16_t* samples) {
    // A longer piece would overrun the buffer, and a partial block would be read past the data.
    length = ClampedLength(length);
    unsigned decoded = 0;
    for (int block = 0; block + kAdpcmBlockBytes <= length; block += kAdpcmBlockBytes) {
        DecodeAdpcmBlockWithHeader(data + block, samples + decoded);
        decoded += kAdpcmSamplesPerBlock;
    }
    return std::min(static_cast<unsigned>(length / 2), decoded);
}

unsigned DecodeMonitorALaw(const uint8_t* data, int length, int16_t* samples) {
    length = ClampedLength(length);
    ALawToLinear(data, static_cast<size_t>(length), samples);
    return static_cast<unsigned>(length);
}

int16_t MuLawToMonitorSample(uint8_t code) {
    const int x = static_cast<uint8_t>(~code);
    const int t = (((x & 0x0F) << 3) + 132) << ((x >> 4) & 7);
    return static_cast<int16_t>((x & 0x80) ? 132 - t : t - 132);
}

unsigned DecodeMonitorMuLaw(const uint8_t* data, int length, int16_t* samples) {
    length = ClampedLength(length);
    for (int i = 0; i < length; ++i)
        samples[i] = MuLawToMonitorSample(data[i]);
    return static_cast<unsigned>(length);
}

void DrawMonitorWaveform(HDC dc, const RECT& area, HPEN pen, HBRUSH background, const int16_t* samples,
                         unsigned count) {
    CScopedSaveDC saved(dc);  // gives the pen, the background mode and colour back
    CDC* pDC = CDC::FromHandle(dc);
    pDC->SelectObject(CPen::FromHandle(pen));
    pDC->SetBkMode(TRANSPARENT);
    ::FillRect(dc, &area, background);
    pDC->Draw3dRect(&area, kFrameColour, kFrameColour);
    // Without samples there is no line; a count of 0 would otherwise step through the whole unsigned range.
    if (count == 0)
        return;
    pDC->MoveTo(0, SampleY(area, samples[0]));
    const float step = static_cast<float>(area.right - area.left) / static_cast<float>(count);
    float x = 0.0f;
    for (unsigned i = 1; i < count; ++i) {
        x += step;
        pDC->LineTo(static_cast<int>(x), SampleY(area, samples[i]));
    }
}
