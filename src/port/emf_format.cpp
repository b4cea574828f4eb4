#include "port/emf_format.h"

namespace gyr {

bool ReadEmfHeader(const std::uint8_t* data, std::size_t size, EmfHeader& h) {
    if (size < kEmfMinHeader) return false;
    h.iType = EmfU32(data);
    h.nSize = EmfU32(data + 4);
    for (int i = 0; i < 4; ++i) h.bounds[i] = EmfI32(data + 8 + 4 * i);
    for (int i = 0; i < 4; ++i) h.frame[i] = EmfI32(data + 24 + 4 * i);
    h.signature = EmfU32(data + 40);
    h.version = EmfU32(data + 44);
    h.nBytes = EmfU32(data + 48);
    h.nRecords = EmfU32(data + 52);
    h.nHandles = std::uint16_t(data[56] | (data[57] << 8));
    h.nDescription = EmfU32(data + 60);
    h.offDescription = EmfU32(data + 64);
    h.deviceCx = EmfI32(data + 72);
    h.deviceCy = EmfI32(data + 76);
    h.millimetersCx = EmfI32(data + 80);
    h.millimetersCy = EmfI32(data + 84);
    if (h.iType != kEmrHeader || h.signature != kEmfSignature) return false;
    if (h.nSize < kEmfMinHeader || h.nSize % 4 || h.nBytes > size || h.nSize > h.nBytes)
        return false;
    std::size_t off = h.nSize;
    while (off < h.nBytes) {
        if (h.nBytes - off < 8) return false;
        const std::uint32_t type = EmfU32(data + off), rs = EmfU32(data + off + 4);
        if (rs < 8 || rs % 4 || rs > h.nBytes - off) return false;
        if (type == kEmrEof) break;
        off += rs;
    }
    return true;
}

}  // namespace gyr
