#pragma once

namespace ov {

class MainWindow;

// Rewinds to the beginning; also used by stop and by the end of media.
void skng_SetVideoToBegin(MainWindow& w);

} // namespace ov
