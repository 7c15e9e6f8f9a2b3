#pragma once
// The check of an answer in plain sentences, translated, in the order the check runs: the
// function, implicants, primes, redundancy, the minimum. Also what a misread answer is told.
// User-interface thread only (translation reads the language file).

#include <string>
#include <vector>

#include "explain/Answer.h"
#include "explain/Check.h"

namespace explain {

std::string AnswerErrorText(const AnswerError& error);
std::vector<std::string> CheckSentences(const CheckResult& r, const MapFunction& f,
                                        const Explanation& e);

}  // namespace explain
