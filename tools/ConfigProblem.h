// What ended start-up, as the checker's parts and its report name it: the kind and the place.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>

namespace morrowset {

// What kind of problem stops start-up, by the name the reports give it (kProblemKindNames).
enum class ProblemKind {
  Unreadable,
  MissingFile,
  MissingFolder,
  Folder,
  Syntax,
  NotAnObject,
  MissingMember,
  WrongType,
  NumberTooLarge,
  UnknownZone,
  Other,  // none of the kinds above: the exception's own text says it
  Count
};
inline constexpr const char* kProblemKindNames[] = {
    "unreadable",     "missing-file", "missing-folder",   "folder",       "syntax", "not-an-object",
    "missing-member", "wrong-type",   "number-too-large", "unknown-zone", "other"};
static_assert(std::size(kProblemKindNames) == static_cast<std::size_t>(ProblemKind::Count),
              "each kind has its name");

// What ended start-up, as a program reads it: its kind, the member, what the file has there, and
// where in the file, where these are known.
struct ConfigProblem {
  ProblemKind kind = ProblemKind::Other;
  std::string member;  // empty for the file as a whole
  std::string found;   // the member's value as the file has it (JSON text), or the path at fault
  std::size_t line = 0, column = 0;  // from 1; 0 when not known
};

}  // namespace morrowset
