#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <chrono>

class QNetworkReply;

namespace quilor {

// Why a request failed, as far as the user can act on it: no connection to
// the service at all (refused, unknown host, no network), no answer in time,
// or an answer that is no version answer.
enum class RequestFailure { NoConnection, TimedOut, BadAnswer };

// How long and how much the version request may take before it counts as
// failed.
struct RequestLimits {
  // No byte moves for this long: covers connecting, waiting for the answer
  // and every pause while it is read.
  std::chrono::milliseconds stalled{15000};
  // The whole request, redirects included, even while bytes trickle in.
  std::chrono::milliseconds whole{30000};
  // A version answer is a few short lines; anything bigger is not one.
  qint64 maxAnswerBytes = 64 * 1024;
};

// One GET of the version service, run by the event loop so the windows keep
// working while it waits. Redirects are followed (never from https to
// http), no proxy is used and no credentials are offered. Ends with exactly
// one of answered() or failed(), unless cancelled first.
class VersionRequest : public QObject {
  Q_OBJECT

 public:
  VersionRequest(const QUrl& url, const RequestLimits& limits, QObject* parent = nullptr);
  ~VersionRequest() override;

  // Drops the request; neither signal comes afterwards.
  void cancel();

 signals:
  // The body of a 2xx answer.
  void answered(const QByteArray& body);
  // No connection, a time-out, an error status, a broken or oversized
  // transfer.
  void failed(RequestFailure why);

 private:
  void onFinished();
  void onProgress(qint64 received);

  RequestLimits limits_;
  QNetworkAccessManager manager_;
  QPointer<QNetworkReply> reply_;
  QTimer deadline_;
  bool tooBig_ = false;
  bool timedOut_ = false;
};

}  // namespace quilor
