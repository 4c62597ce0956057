// gen_ktv: writes KTV declaration interchanges for tests, benchmarks and
// fuzzing (see GenKtv.h for its options).
#include "GenKtv.h"

int main(int argc, char** argv) {
    return GenKtvMain(argc, argv);
}
