// Stored control designs (the property-bag text): whatever parses must write back to a text
// that parses to the same design.
#include "conventions/StoredDesign.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto design = conv::parseStoredDesign(text);
    if (!design)
        return 0;
    const QString written = conv::storedDesignText(*design);
    const auto again = conv::parseStoredDesign(written);
    if (!again || conv::storedDesignText(*again) != written)
        std::abort();
    return 0;
}
