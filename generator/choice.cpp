#include "choice.h"

#include "number_text.h"
#include "random_source.h"

#include <algorithm>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

// The index of the chosen box among all boxes: the candidates are the checked
// boxes in order, or every box when none is checked; a single candidate is
// taken without a draw, otherwise randomDraw(1, n) picks the k-th.
template <std::size_t N>
std::size_t chooseBox(const std::array<bool, N>& checked, RandomSource& source) {
    auto n = static_cast<qint32>(std::count(checked.begin(), checked.end(), true));
    const bool all = n == 0;
    if (all)
        n = static_cast<qint32>(N);
    qint32 k = n == 1 ? 1 : randomDraw(source, 1, n);
    for (std::size_t i = 0; i < N; ++i) {
        if (all || checked[i]) {
            if (--k == 0)
                return i;
        }
    }
    return 0; // not reached: k lies between 1 and n
}

constexpr std::array<Operator, 4> Operators = {Operator::Add, Operator::Subtract,
                                               Operator::Multiply, Operator::Divide};
constexpr std::array<BlankTerm, 3> BlankTerms = {BlankTerm::Result, BlankTerm::Second,
                                                 BlankTerm::First};

constexpr char16_t Marker[] = u"（   ）";
constexpr qsizetype MarkerLength = std::size(Marker) - 1;

char16_t* put(char16_t* out, const char16_t* text, qsizetype length) {
    return std::copy_n(text, length, out);
}

} // namespace

Operator chooseOperatorFrom(const OperationBoxes& checked, RandomSource& source) {
    return Operators[chooseBox(checked, source)];
}

BlankTerm chooseBlankFrom(const FormatBoxes& checked, RandomSource& source) {
    return BlankTerms[chooseBox(checked, source)];
}

QString blankMarker() {
    return QString(reinterpret_cast<const QChar*>(Marker), MarkerLength);
}

QString blankedText(const Problem& problem, BlankTerm term) {
    char16_t first[IntTextCapacity];
    char16_t second[IntTextCapacity];
    qsizetype firstLength = writeIntText(problem.a, first);
    qsizetype secondLength = writeIntText(problem.b, second);
    const char16_t* firstText = first;
    const char16_t* secondText = second;
    const char16_t* resultText = reinterpret_cast<const char16_t*>(problem.result.constData());
    qsizetype resultLength = problem.result.size();
    switch (term) {
    case BlankTerm::Result:
        resultText = Marker;
        resultLength = MarkerLength;
        break;
    case BlankTerm::Second:
        secondText = Marker;
        secondLength = MarkerLength;
        break;
    case BlankTerm::First:
        firstText = Marker;
        firstLength = MarkerLength;
        break;
    }
    const char16_t symbol = operatorSymbol(problem.op).front().unicode();

    QString text(firstLength + 1 + secondLength + 1 + resultLength, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    out = put(out, firstText, firstLength);
    *out++ = symbol;
    out = put(out, secondText, secondLength);
    *out++ = u'=';
    put(out, resultText, resultLength);
    return text;
}
