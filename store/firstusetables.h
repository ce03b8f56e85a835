#pragma once

#include <QString>

// Tables a data file gets when the program first writes to them (an older
// file, or one that was read-only, may lack them); a server gets them when
// it is set up.
namespace store {

extern const QString createWindowSize;
extern const QString createScreenScale;
extern const QString createPrinterOffset;
extern const QString createLeafImageTable;

} // namespace store
