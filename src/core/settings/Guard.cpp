#include "settings/Guard.h"

#include "settings/Main.h"

namespace rp {

Guard::Guard(Main& main, std::string_view where) : main_(main), location_(LocationTag(where)) {}

void Guard::Report(const std::exception& e, int number) {
  main_.ReportApplicationError(e, location_, number);
}

}  // namespace rp
