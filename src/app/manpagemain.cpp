// kipkip_manpage: writes the manual page to standard output, for the build.
#include <iostream>

#include "app/manpage.h"

int main()
{
    std::cout << kipkip::ManPage::Text(KIPKIP_VERSION);
    return std::cout ? 0 : 1;
}
