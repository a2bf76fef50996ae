// textToInt against the written reading of a range text, and its round trip
// through intToText.
#include "fuzz_text_input.h"
#include "number_text.h"
#include "worksheet_rules.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = textFromBytes(data, size);
    const qint32 value = textToInt(text);
    if (value != rules::readRangeText(text))
        std::abort();
    if (textToInt(intToText(value)) != value)
        std::abort();
    return 0;
}
