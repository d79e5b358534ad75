// Compile-time proof that each event of the table has the identifier that
// the message compiler gave its text in res/events.mc: the same number, with
// the severity bits of the same level. A mismatch stops the Windows build.
#include "events.h"
#include "log/Events.h"

#define TESSALY_SAME_ID(name, id, level, inserts) \
    static_assert(FullEventId(id, level) == static_cast<DWORD>(MSG_##name), #name);
TESSALY_EVENTS(TESSALY_SAME_ID)
