#include "util/mdlStringFunctions.h"

#include <QStringView>

namespace mdlStringFunctions {

namespace {

// The 1-based position of the first occurrence of `find` at or after 1-based position `from`;
// 0 when there is none or `from` lies beyond the end.
qsizetype Search(QStringView text, QStringView find, qsizetype from) {
    if (from > text.size()) {
        return 0;
    }
    return text.indexOf(find, from - 1) + 1;
}

// Requires a non-empty `find`. Each search starts one character after the previous occurrence.
qsizetype Count(QStringView text, QStringView find) {
    if (Search(text, find, 1) == 0) {
        return 0;
    }
    qsizetype p = 0;
    qsizetype count = -1;
    do {
        ++count;
        p = Search(text, find, p + 1);
    } while (p != 0);
    return count;
}

bool CanSearch(int StartPos, const QString& SearchText, const QString& Find, int N) {
    return !Find.isEmpty() && N >= 1 && StartPos >= 1 && StartPos <= SearchText.size();
}

}  // namespace

int CountOccurrences(const QString& SearchText, const QString& Find) {
    if (Find.isEmpty()) {
        return 0;
    }
    return static_cast<int>(Count(SearchText, Find));
}

int InStrNth(int StartPos, const QString& SearchText, const QString& Find, int N) {
    if (!CanSearch(StartPos, SearchText, Find, N)) {
        return 0;
    }
    const QStringView tail = QStringView(SearchText).sliced(StartPos - 1);
    if (N > Count(tail, Find)) {
        return 0;
    }
    qsizetype p = 0;
    for (int k = 0; k < N; ++k) {
        p = Search(tail, Find, p + 1);
    }
    return static_cast<int>(p + StartPos - 1);
}

int InStrRevNth(int StartPos, const QString& SearchText, const QString& Find, int N) {
    if (!CanSearch(StartPos, SearchText, Find, N)) {
        return 0;
    }
    const QStringView head = QStringView(SearchText).first(SearchText.size() - StartPos + 1);
    if (N > Count(head, Find)) {
        return 0;
    }
    // Tests every start from the rightmost possible one down; the count above guarantees that
    // the N-th is found at or before position 1.
    int found = 0;
    qsizetype p = head.size() - Find.size() + 2;
    do {
        --p;
        if (head.sliced(p - 1).startsWith(Find)) {
            ++found;
        }
    } while (found != N);
    return static_cast<int>(p);
}

}  // namespace mdlStringFunctions
