#include "conversion/Fns3Pipeline.h"

#include <exception>
#include <new>
#include <utility>

#include "config/RuntimeErrors.h"

namespace trelvane {

namespace {

// Dossiers are handed over by the batch, so that the threads meet about a
// thousand times for a big file rather than once a dossier; the queue is
// bounded so that a slow second thread holds back the walk, not memory.
constexpr std::size_t kBatchSize = 64;
constexpr std::size_t kQueuedBatches = 4;

}  // namespace

Fns3Pipeline::Fns3Pipeline(bool secondThread) : secondThread_(secondThread) {
    if (!secondThread_) return;
    try {
        worker_ = std::thread([this] { Work(); });
    } catch (const std::exception&) {
        secondThread_ = false;  // no thread to be had: in place
    }
}

Fns3Pipeline::~Fns3Pipeline() {
    Stop();
}

void Fns3Pipeline::Convert(std::int64_t dossierNumber, std::int64_t interchangeNumber) {
    if (!secondThread_) {
        ConvertDossierToFNS3(dossierNumber, interchangeNumber);
        return;
    }
    if (filling_.count == filling_.jobs.size()) filling_.jobs.emplace_back();
    Job& job = filling_.jobs[filling_.count++];
    job.dossier = dossierNumber;
    job.interchange = interchangeNumber;
    job.copied = false;
    try {
        job.context = TakeDossierContext(dossierNumber, interchangeNumber);
        TakeDossierSnapshot(job.stores);
        if (dossierNumber == 1)
            TakeInterchangeSnapshot(job.interchangeStore);
        else
            job.interchangeStore.clear();
        job.copied = true;
    } catch (const std::bad_alloc&) {
        // Reported in its place among the other dossiers, as a failure to
        // convert in place would be.
        NoteOutOfMemory();
    }
    if (filling_.count >= kBatchSize) HandOver();
}

void Fns3Pipeline::HandOver() {
    if (filling_.count == 0) return;
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.size() < kQueuedBatches; });
    queue_.push_back(std::move(filling_));
    filling_ = Batch();
    if (!spare_.empty()) {
        filling_ = std::move(spare_.back());
        spare_.pop_back();
    }
    lock.unlock();
    changed_.notify_all();
    filling_.count = 0;
}

void Fns3Pipeline::Work() {
    ThreadConversionStores stores;
    for (;;) {
        Batch batch;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return done_ || !queue_.empty(); });
            if (queue_.empty()) return;
            batch = std::move(queue_.front());
            queue_.pop_front();
        }
        changed_.notify_all();
        for (std::size_t k = 0; k < batch.count; ++k) {
            const Job& job = batch.jobs[k];
            int number = 0;
            std::string description;
            bool built = false;
            try {
                if (!job.copied) throw std::bad_alloc();
                if (!job.interchangeStore.empty()) LoadInterchangeSnapshot(job.interchangeStore);
                LoadDossierSnapshot(job.stores);
                built = BuildDossierRecords(job.dossier, job.context, number, description);
            } catch (const std::bad_alloc&) {
                NoteOutOfMemory();
                number = kErrOutOfMemory;
            } catch (...) {
                number = kErrInvalidCall;
            }
            if (built) continue;
            // Nothing may escape this thread: should there be no memory left
            // to keep the failure, the run is ending for want of it anyway.
            try {
                if (description.empty()) description = ErrorDescription(number);
                failures_.push_back({job.dossier, job.interchange, number, std::move(description)});
            } catch (const std::bad_alloc&) {
                NoteOutOfMemory();
            }
        }
        try {
            std::lock_guard lock(mutex_);
            spare_.push_back(std::move(batch));
        } catch (const std::exception&) {
            // No room to keep it: the next batch is simply made anew.
        }
    }
}

void Fns3Pipeline::Stop() {
    if (!worker_.joinable()) return;
    try {
        HandOver();
    } catch (const std::exception&) {
        // Out of memory for the queue: those records are lost, and the walk
        // that called us is failing anyway.
    }
    {
        std::lock_guard lock(mutex_);
        done_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

void Fns3Pipeline::Finish() {
    if (!secondThread_) return;
    Stop();
    for (const Failure& f : failures_)
        ReportFailedConversion(f.dossier, f.interchange, f.number, f.description);
    failures_.clear();
}

}  // namespace trelvane
