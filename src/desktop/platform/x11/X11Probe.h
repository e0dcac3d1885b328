#pragma once

namespace ts::x11 {

// Whether $DISPLAY names a server this process can reach that offers XTEST (the synthetic copy
// and paste), on a connection of its own: for programs without a Qt display.
bool displayOffersXTest();

}  // namespace ts::x11
