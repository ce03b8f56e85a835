#include "Module1.h"

QString strCurrency;
QString strAmtInWords;
