#pragma once

#include <optional>
#include <utility>
#include <variant>

#include "problem.h"

namespace ordelix {

// A value, or the error that stood in its way.
template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Problem error) : state_(std::in_place_index<1>, std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  const Problem& error() const& { return std::get<1>(state_); }
  Problem&& error() && { return std::get<1>(std::move(state_)); }

 private:
  std::variant<T, Problem> state_;
};

// Done, or the error that stood in the way.
template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Problem error) : error_(std::move(error)) {}

  bool ok() const { return !error_; }
  explicit operator bool() const { return ok(); }

  const Problem& error() const& { return *error_; }
  Problem&& error() && { return std::move(*error_); }

 private:
  std::optional<Problem> error_;
};

}  // namespace ordelix
