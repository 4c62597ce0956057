// The FNS3 records of each dossier, built at its UNT: on a second thread
// while the checks go on, or in place.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "conversion/modKTVConversionFunctions.h"

namespace trelvane {

// In place, every dossier goes through ConvertDossierToFNS3 at once. On a
// second thread, each dossier's stores and context are copied at its UNT and
// its records are built in dossier order while the walk goes on; the records
// land in the FNS3 line list as they would in place, and the failures are
// kept and traced, in dossier order, by Finish on the calling thread (the
// second thread never reaches the platform).
class Fns3Pipeline {
  public:
    explicit Fns3Pipeline(bool secondThread);
    ~Fns3Pipeline();
    Fns3Pipeline(const Fns3Pipeline&) = delete;
    Fns3Pipeline& operator=(const Fns3Pipeline&) = delete;

    // The records of the dossier in the stores (called at each UNT).
    void Convert(std::int64_t dossierNumber, std::int64_t interchangeNumber);
    // Waits for every record, then reports the failed dossiers.
    void Finish();

  private:
    struct Job {
        std::int64_t dossier = 0;
        std::int64_t interchange = 0;
        DossierContext context;
        DossierSnapshot stores;
        std::vector<std::string> interchangeStore;  // for the first dossier of an interchange
        bool copied = false;                        // false: no memory for the copies
    };
    struct Failure {
        std::int64_t dossier;
        std::int64_t interchange;
        int number;
        std::string description;
    };
    // Batches go back and forth between the threads, their jobs keeping the
    // room their copies took: a big file costs no allocation per dossier.
    struct Batch {
        std::vector<Job> jobs;
        std::size_t count = 0;  // jobs in use
    };

    void HandOver();
    void Work();
    void Stop();

    bool secondThread_;
    Batch filling_;  // jobs not handed over yet
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch> queue_;
    std::vector<Batch> spare_;  // handled batches, for the next jobs
    bool done_ = false;
    std::vector<Failure> failures_;  // written by the second thread until it ends
    std::thread worker_;
};

}  // namespace trelvane
