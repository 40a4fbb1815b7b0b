// A server's vCard item read into a person, our changes patched into it and read back: the
// first four bytes pick the fields we changed, the rest is the card.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ItemRoundTrip.h"
#include "platform/Clock.h"
#include "sync/ItemCodec.h"
#include "sync/VCardPatch.h"

namespace {

constexpr std::string_view kOurs =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lindqvist;Maja;;;\r\nFN:Maja Lindqvist\r\n"
    "ORG:Fjord AB\r\nTITLE:Head of Sales\r\nADR;TYPE=HOME:;;Storgatan 4\\nHus B;Lund;Skåne;"
    "22350;\r\nTEL;TYPE=HOME,VOICE:+46 46 123\r\nTEL;TYPE=WORK,VOICE:+46 46 999 x 12\r\n"
    "TEL;TYPE=CELL:+46 70 555\r\nTEL;TYPE=FAX:+46 46 124\r\nTEL;TYPE=PAGER:777\r\n"
    "EMAIL;TYPE=INTERNET:maja@fjord.example\r\nURL:https://fjord.example/maja\r\n"
    "NOTE:Met at the fair\\, twice\r\nCATEGORIES:Business,Friends\r\nBDAY:1984-03-05\r\n"
    "X-ANNIVERSARY:2010-06-19\r\nEND:VCARD\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    static const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    static const AddressBookCodec codec(clock);
    static const SyncRecord ours = codec.parse(kOurs).records.at(0).record;
    const uint32_t mask = data[0] | data[1] << 8 | data[2] << 16 | uint32_t(data[3]) << 24;
    const std::string_view card(reinterpret_cast<const char*>(data + 4), size - 4);

    (void)vcardUid(card);
    const ParsedItem item = codec.parse(card);
    // An item the reader refuses is never patched, but the patch must still survive it.
    if (item.records.size() != 1) {
        (void)codec.write(card, ours, allFields(RecordKind::Person), "fuzz-uid");
        return 0;
    }
    checkPatch(codec, card, item.records[0].record, ours, mask);
    return 0;
}
