#pragma once
// The bent rows of the span output page: "BENT DATA" and the bent rows of
// every "LONG. LINE" table.

namespace bp {

struct RunContext;
struct TransverseLine;

// The "BENT DATA" rows of the back bent (slot 21) and the ahead bent
// (slot 22): code letter, NO., station, skew, remarks and type.
void writeBentDataRows(RunContext& ctx);

// The row of the back bent (slot 21, DT TO BT 0) or the ahead bent
// (slot 22, DT TO BT = spanLength) in line N's table.
void reportBentPoint(RunContext& ctx, int line, int slot);

// True when the slot leaves line N out of its rows (flag > 0); a negative
// flag is an inconsistency (error 16).
bool slotSkipsLine(const TransverseLine& slot, int line);

}   // namespace bp
