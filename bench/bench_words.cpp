// How many amounts per second each converter words, and the currency
// wording from the typed text, over a million amounts with two decimals and
// one to eight whole digits.
#include "Module1.h"
#include "currencywording.h"
#include "messages.h"

#include <QList>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

constexpr int amountCount = 1'000'000;
constexpr int trials = 3;

struct Amount {
    double value;
    QString typed;
};

QList<Amount> makeAmounts()
{
    QRandomGenerator random(20240611);
    QList<Amount> amounts;
    amounts.reserve(amountCount);
    for (int i = 0; i < amountCount; ++i) {
        const int digits = 1 + random.bounded(8);
        qint64 whole = random.bounded(9) + 1;
        for (int d = 1; d < digits; ++d)
            whole = whole * 10 + random.bounded(10);
        const int cents = random.bounded(100);
        amounts.append({double(whole * 100 + cents) / 100,
                        QStringLiteral("%1.%2").arg(whole).arg(cents, 2, 10, QLatin1Char('0'))});
    }
    return amounts;
}

double threadSeconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// The best rate of a few runs over all amounts, timed by the processor
// time of this one thread: the rate of one core, however busy the others
// are with the rest of a shared machine.
void report(const char *name, const std::function<qsizetype(const Amount &)> &convert,
            const QList<Amount> &amounts)
{
    double best = 0;
    qsizetype characters = 0;
    for (int trial = 0; trial < trials; ++trial) {
        const double start = threadSeconds();
        for (const Amount &amount : amounts)
            characters += convert(amount);
        const double seconds = threadSeconds() - start;
        best = std::max(best, amounts.size() / seconds);
    }
    // The characters written keep the work from being optimised away.
    if (characters == 0)
        std::fprintf(stderr, "%s wrote no words\n", name);
    std::printf("%s %.0f conversions/s\n", name, best);
}

} // namespace

int main()
{
    const QList<Amount> amounts = makeAmounts();

    report("words_indian_per_second", [](const Amount &amount) {
        udf_Num2WordsIndian(amount.value);
        return strAmtInWords.size();
    }, amounts);

    report("words_international_per_second", [](const Amount &amount) {
        return udf_strNum2Words(amount.value, u"Dollars ", u"Cents only").size();
    }, amounts);

    // Every other amount in rupees, as far as rupees can be worded; the
    // rest in dollars. No amount is refused, so no message is shown.
    int messages = 0;
    Messages::setPresenter([&](const Messages::Message &) { ++messages; });
    const QString rupees = QStringLiteral("INR");
    const QString dollars = QStringLiteral("USD");
    report("words_currency_wording_per_second", [&](const Amount &amount) {
        const bool inRupees = amount.typed.size() % 2 && amount.value <= largestIndianPaise / 100.0;
        return udf_wordCurrency(amount.typed, inRupees ? rupees : dollars).words.size();
    }, amounts);
    if (messages != 0)
        std::fprintf(stderr, "%d amounts were refused\n", messages);
    return 0;
}
