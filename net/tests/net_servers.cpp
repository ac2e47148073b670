// A case of this program that hangs fails alone.
#include "net_servers.h"

namespace {

const bool limited = [] {
    LimitEachTestCase(90);
    return true;
}();

}  // namespace
