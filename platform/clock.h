// The local clock, and the date source of the records: the host's, or the clock.
#ifndef XKDTAZV_PLATFORM_CLOCK_H_
#define XKDTAZV_PLATFORM_CLOCK_H_

#include "platform/date.h"
#include "xkdtazv/meine_info.h"

namespace xkdtazv::detail {

// Today's date in the local time zone.
Date LocalToday();

TodayFunction TodayOrLocalClock(const TodayFunction& today);

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_PLATFORM_CLOCK_H_
