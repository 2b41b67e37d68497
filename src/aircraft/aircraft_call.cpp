#include "aircraft/aircraft_call.h"

#include "app/workspace/messages.h"

namespace mw {

AircraftCall load_aircraft_call(ByteSpan item)
{
    constexpr std::size_t header = 14;
    AircraftCall call;
    std::size_t at = header;
    int texts_done = 0;
    for (std::string* text : {&call.full_call, &call.short_call}) {
        while (at < item.size() && item[at] != 0) *text += char(item[at++]);
        if (at >= item.size()) break;
        ++at;
        ++texts_done;
    }
    call.complete = texts_done == 2;
    if (!call.complete) report_error("Error#62: Error reading aircraft call file");
    return call;
}

}  // namespace mw
