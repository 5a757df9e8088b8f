#include "app/complain.h"

#include <cstdio>

namespace kipkip {

void Complain(std::string_view message)
{
    std::fprintf(stderr, "kipkip: %.*s\n", static_cast<int>(message.size()), message.data());
}

}  // namespace kipkip
