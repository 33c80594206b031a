#include "claim_rows.h"

#include <pthread.h>
#include <signal.h>

#include <array>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "csv_text.h"

namespace quorvane::batch::detail {
namespace {

// Rows per batch: enough that handing a batch over costs nothing per row,
// few enough that a batch's texts stay in the cache until they are joined.
constexpr std::size_t kBatchRows = 256;

struct Batch {
  std::vector<CaseInput> inputs = std::vector<CaseInput>(kBatchRows);
  std::vector<claim::ClaimInput> claims = std::vector<claim::ClaimInput>(kBatchRows);
  std::size_t rows = 0;
  std::string text;  // the rows' columns before the sheet's, one after another
  std::vector<std::size_t> textEnds;
  std::string sheets;  // the rows' sheet columns, written by the second thread
  std::vector<std::size_t> sheetEnds;
};

}  // namespace

void appendClaimColumns(std::string& out, const claim::ClaimOutcome& outcome) {
  out += ',';
  if (const auto* refusal = std::get_if<claim::ClaimRefusal>(&outcome)) {
    csv::appendField(out, refusal->message);
    out.append(claim::columnNames().size() - 1, ',');
    return;
  }
  // Written aside and appended once: a row's amounts are most of its text.
  char text[claim::kAmountColumns * (claim::kLongestFen + 1)];
  char* end = text;
  for (claim::Fen amount : claim::columnAmounts(std::get<claim::ClaimSheet>(outcome))) {
    *end++ = ',';
    end = claim::writeFen(end, amount);
  }
  out.append(text, end);
}

struct ClaimRows::Shared {
  Shared(const StandardsTable& table, std::string_view end) : standards(table), rowEnd(end) {}

  const StandardsTable& standards;
  std::string_view rowEnd;
  std::array<Batch, 2> batches;
  std::size_t filling = 0;  // the batch the reader fills; the other is the second thread's
  std::mutex mutex;
  std::condition_variable changed;
  Batch* working = nullptr;  // the batch being worked out; null while the thread waits
  bool stopping = false;
  std::exception_ptr error;  // what working a batch out threw (out of memory, say)
  std::thread thread;

  void work() {
    std::unique_lock lock(mutex);
    for (;;) {
      changed.wait(lock, [this] { return working != nullptr || stopping; });
      if (working == nullptr) return;
      Batch& batch = *working;
      lock.unlock();
      std::exception_ptr thrown;
      try {
        for (std::size_t k = 0; k < batch.rows; ++k) {
          appendClaimColumns(batch.sheets,
                             claim::computeClaim(batch.inputs[k], batch.claims[k], standards));
          batch.sheetEnds.push_back(batch.sheets.size());
        }
      } catch (...) {
        thrown = std::current_exception();
      }
      lock.lock();
      error = thrown;
      working = nullptr;
      changed.notify_all();
    }
  }

  void start(Batch& batch) {
    {
      const std::lock_guard lock(mutex);
      working = &batch;
    }
    changed.notify_all();
  }

  // Until the batch being worked out is done; what that threw is thrown here.
  void wait() {
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return working == nullptr; });
    if (error) std::rethrow_exception(std::exchange(error, nullptr));
  }

  // A done batch's rows, each its text, its sheet's columns and the row end;
  // the batch is then empty again.
  void join(Batch& batch, std::string& out) const {
    std::size_t text = 0, sheet = 0;
    for (std::size_t k = 0; k < batch.rows; ++k) {
      out.append(batch.text, text, batch.textEnds[k] - text);
      out.append(batch.sheets, sheet, batch.sheetEnds[k] - sheet);
      out += rowEnd;
      text = batch.textEnds[k];
      sheet = batch.sheetEnds[k];
    }
    batch.rows = 0;
    batch.text.clear();
    batch.textEnds.clear();
    batch.sheets.clear();
    batch.sheetEnds.clear();
  }
};

ClaimRows::ClaimRows(const StandardsTable& standards, std::string_view rowEnd)
    : shared_(std::make_unique<Shared>(standards, rowEnd)) {
  // The thread takes no signals: they stay with the reading thread, which
  // holds them back while it renames its output into place.
  sigset_t all, saved;
  sigfillset(&all);
  pthread_sigmask(SIG_BLOCK, &all, &saved);
  try {
    shared_->thread = std::thread([shared = shared_.get()] { shared->work(); });
  } catch (...) {
    pthread_sigmask(SIG_SETMASK, &saved, nullptr);
    throw;
  }
  pthread_sigmask(SIG_SETMASK, &saved, nullptr);
}

ClaimRows::~ClaimRows() {
  {
    const std::lock_guard lock(shared_->mutex);
    shared_->stopping = true;
  }
  shared_->changed.notify_all();
  shared_->thread.join();
}

CaseInput& ClaimRows::input() {
  Batch& batch = shared_->batches[shared_->filling];
  return batch.inputs[batch.rows];
}

claim::ClaimInput& ClaimRows::claim() {
  Batch& batch = shared_->batches[shared_->filling];
  return batch.claims[batch.rows];
}

std::string& ClaimRows::text() {
  return shared_->batches[shared_->filling].text;
}

void ClaimRows::endRow(std::string& out) {
  Shared& s = *shared_;
  Batch& batch = s.batches[s.filling];
  batch.textEnds.push_back(batch.text.size());
  if (++batch.rows < kBatchRows) return;
  // The other batch is handed back once done; this one goes out while the
  // other's rows are joined.
  s.wait();
  s.start(batch);
  s.filling = 1 - s.filling;
  s.join(s.batches[s.filling], out);
}

void ClaimRows::finish(std::string& out) {
  Shared& s = *shared_;
  s.wait();
  s.start(s.batches[s.filling]);
  s.join(s.batches[1 - s.filling], out);
  s.wait();
  s.join(s.batches[s.filling], out);
}

}  // namespace quorvane::batch::detail
