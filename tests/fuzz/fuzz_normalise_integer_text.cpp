// What a range box shows after losing the focus, against the written rule;
// normalising twice changes nothing more.
#include "fuzz_text_input.h"
#include "number_text.h"
#include "worksheet_rules.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = textFromBytes(data, size);
    const QString normalised = normaliseIntegerText(text);
    if (normalised != rules::normalisedBoxText(text))
        std::abort();
    if (normaliseIntegerText(normalised) != normalised)
        std::abort();
    return 0;
}
