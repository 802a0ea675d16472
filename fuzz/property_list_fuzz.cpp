// The property-list reader that templates, strings tables and the bundle's
// information dictionary go through: whatever libplist parses converts to our
// values, which written out and read again are the same values, written the
// same way; a template is kept exactly when its root is a dictionary.
#include <string_view>

#include "PropertyList.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    const std::optional<platform::Value> value = platform::ParsePropertyList(xml);
    const std::optional<platform::Dictionary> dictionary = platform::ParseDictionary(xml);
    FUZZ_CHECK(dictionary.has_value() == (value && value->isDictionary()), "kept as a template exactly with a dictionary root");
    if (!value) return 0;
    const std::optional<std::string> written = platform::PropertyListText(*value);
    FUZZ_CHECK(written, "a parsed value can be written");
    const std::optional<platform::Value> again = platform::ParsePropertyList(*written);
    FUZZ_CHECK(again, "the written text parses");
    FUZZ_CHECK(*again == *value, "values survive writing and reading");
    FUZZ_CHECK(platform::PropertyListText(*again) == written, "the same values are written the same way");
    return 0;
}
