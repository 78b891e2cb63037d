#pragma once

#include <QString>

// Counting and n-th occurrence search of a string in a text. Positions are 1-based and 0 means
// not found; comparison is exact, character by character, and occurrences may overlap. An empty
// Find, N < 1 or StartPos < 1 finds nothing. Texts of any length are searched.
namespace mdlStringFunctions {

// The number of occurrences of Find in SearchText, overlapping ones included.
int CountOccurrences(const QString& SearchText, const QString& Find);

// The position of the N-th occurrence of Find that starts at or after StartPos.
int InStrNth(int StartPos, const QString& SearchText, const QString& Find, int N);

// The position of the N-th occurrence of Find counted from the right, among those that lie wholly
// within the first L - StartPos + 1 characters (L = length of SearchText): StartPos 1 searches the
// whole text, 2 leaves out its last character, and so on.
int InStrRevNth(int StartPos, const QString& SearchText, const QString& Find, int N);

}  // namespace mdlStringFunctions
