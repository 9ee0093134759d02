#pragma once
#include <utility>

// Gives a program-wide value (RoundStep, SqlTraceOn, ...) another value for one test and restores
// the old one when the scope ends.
//
//   ScopedValue step(RoundStep, 0.05);
template <class T>
class ScopedValue {
public:
    ScopedValue(T& variable, T value) : m_variable(variable), m_saved(variable) { m_variable = std::move(value); }
    ~ScopedValue() { m_variable = std::move(m_saved); }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& m_variable;
    T m_saved;
};
