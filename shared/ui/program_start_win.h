// What both programs do first: take their name from the program file (trace lines and
// error sources carry it) and start the diagnostic trace. The trace's file lies beside
// the journal and is written only while CurrentSettings\DiagnosticTrace is 1.
#pragma once

namespace qm {

void StartProgram();

}  // namespace qm
