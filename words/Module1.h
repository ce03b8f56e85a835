#pragma once

#include <QString>

extern QString strCurrency;
extern QString strAmtInWords;
