// Fuzzes the message reader: any bytes as a message. A refused message gives
// a reason and leaves the record as it was; a taken one is written back to
// the very same bytes, which read again to the same message.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fuzz/fuzz_failure.h"
#include "net/messages.h"

namespace {

bool same(const Message& a, const Message& b) {
    return a.kind == b.kind && a.machine == b.machine && a.seat == b.seat && a.index == b.index &&
           a.number == b.number && a.command == b.command && a.text == b.text && a.state == b.state;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    Message message;
    message.text = "untouched";
    std::string why;
    if (!decodeMessage(bytes, message, why)) {
        Message untouched;
        untouched.text = "untouched";
        if (why.empty()) fuzzFailure("a refused message gives no reason");
        if (!same(message, untouched)) fuzzFailure("a refused message changed the record");
        return 0;
    }
    const std::vector<uint8_t> written = encodeMessage(message);
    if (!std::equal(written.begin(), written.end(), bytes.begin(), bytes.end()))
        fuzzFailure("a message read does not write back to its bytes");
    Message again;
    if (!decodeMessage(written, again, why)) fuzzFailure("a message written does not read: " + why);
    if (!same(again, message)) fuzzFailure("a message written reads as another");
    return 0;
}
