// Reads arbitrary bytes as a digitizing profile: a clear error, or a profile that writes and reads
// back to the same text.
#include "autodigit/profile.h"
#include "fuzz_support.h"

using namespace quorvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DigitizingProfile profile;
    try {
        profile = parseProfile(
            QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const ProfileError&) {
        return 0;
    }
    const QByteArray written = profileJson(profile);
    try {
        fuzz::check(profileJson(parseProfile(written)) == written,
                    "a written profile reads back differently");
    } catch (const ProfileError&) {
        fuzz::broken("a written profile does not read back");
    }
    return 0;
}
