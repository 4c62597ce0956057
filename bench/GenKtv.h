// The KTV interchange generator, shared by the gen_ktv tool, the benchmarks
// and the tests. Valid dossiers pass every syntax and content check; faults
// can be injected on demand, each kind breaking exactly one rule.
//
//   gen_ktv [-o FILE] [--dossiers N] [--interchanges K] [--year YYYY] [--seed S]
//           [--size-mb M] [--no-crlf] [--lean] [--fault KIND[,KIND...]] [--fault-rate P]
//
// Without --fault-rate every listed fault kind is injected once, the first
// kind into the first dossier, the second into the second, and so on. With
// --fault-rate P every segment of a dossier draws a fault with probability P,
// of a kind taken at random among the listed ones (all syntax kinds when
// --fault is not given).
#pragma once

// The whole tool: writes the file (standard output without -o) and returns
// its exit status, 2 on bad usage.
int GenKtvMain(int argc, const char* const* argv);
