#ifndef TESTS_FAILURE_RECORDER_H
#define TESTS_FAILURE_RECORDER_H

#include "core/assertion.h"

#include <QString>
#include <QStringList>

#include <vector>

// Failed assertions are recorded instead of stopping the program, so that a test can
// check the reports and the fallbacks that follow them.
inline std::vector<TAssertion_Failure> &Recorded_Failures()
{
  static std::vector<TAssertion_Failure> failures;
  return failures;
}

inline bool Record_And_Go_On(const TAssertion_Failure &failure)
{
  Recorded_Failures().push_back(failure);
  return true;
}

inline void Start_Recording_Failures()
{
  Recorded_Failures().clear();
  Set_Assertion_Handler(Record_And_Go_On);
}

inline void Stop_Recording_Failures()
{
  Set_Assertion_Handler(nullptr);
}

// "source expression" of every failure so far, in order.
inline QStringList Recorded_Failure_Texts()
{
  QStringList texts;
  for (const TAssertion_Failure &failure : Recorded_Failures()) {
    texts << QString::fromStdString(failure.source + " " + failure.expression);
  }
  return texts;
}

#endif
