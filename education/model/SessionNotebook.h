#pragma once

#include "ui/model/LogEvent.h"

#include <QJsonArray>
#include <QJsonValue>

#include <vector>

namespace Fasoria {

/// The notebook as a learning session keeps it ("notebook"): its events as data, oldest first, so that a
/// reopened session shows the lines again in the interface language of that moment. Each event is an object
/// with "kind", "lesson", "value", "value2", "shots" and "qubits"; a step also holds the "gate" it applied (the
/// circuit file's gate object) and whether it was the "working" circuit's.
QJsonArray notebookArray(const std::vector<LogEvent> &events);

/// Reads the member with the reader's strictness: an array of at most 200 events, each an object with exactly
/// its members, a kind that exists, a lesson from 0 to `lastLesson` (the catalog's last, or one more for the
/// pack lesson a session keeps), a register of 1 to 12 qubits, and values within what that
/// kind can record (a basis state within the register, an editing action that exists, at most 10000
/// preparations, a hint 1 to 3, …). False for anything else, with `events` unchanged.
bool readNotebook(const QJsonValue &member, std::int32_t lastLesson, std::vector<LogEvent> &events);

} // namespace Fasoria
