#include "VersionRequest.h"

#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace quilor {

namespace {

constexpr int kMaxRedirects = 10;

bool IsConnectionFailure(QNetworkReply::NetworkError error) {
  switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::UnknownNetworkError:
      return true;
    default:
      return false;
  }
}

bool IsSuccessStatus(const QVariant& status) {
  const int code = status.toInt();
  return code >= 200 && code < 300;
}

}  // namespace

VersionRequest::VersionRequest(const QUrl& url, const RequestLimits& limits, QObject* parent)
    : QObject(parent), limits_(limits) {
  manager_.setProxy(QNetworkProxy::NoProxy);
  manager_.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);

  QNetworkRequest request(url);
  request.setRawHeader("Accept", "text/html, */*");
  request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/html"));
  request.setMaximumRedirectsAllowed(kMaxRedirects);
  request.setTransferTimeout(static_cast<int>(limits_.stalled.count()));

  reply_ = manager_.get(request);
  connect(reply_, &QNetworkReply::finished, this, &VersionRequest::onFinished);
  connect(reply_, &QNetworkReply::downloadProgress, this, &VersionRequest::onProgress);

  deadline_.setSingleShot(true);
  connect(&deadline_, &QTimer::timeout, this, [this] {
    timedOut_ = true;
    if (reply_) reply_->abort();
  });
  deadline_.start(limits_.whole);
}

VersionRequest::~VersionRequest() { cancel(); }

void VersionRequest::cancel() {
  deadline_.stop();
  if (!reply_) return;
  QNetworkReply* reply = reply_;
  reply_ = nullptr;
  reply->disconnect(this);
  reply->abort();
  reply->deleteLater();
}

void VersionRequest::onProgress(qint64 received) {
  if (received > limits_.maxAnswerBytes && reply_) {
    tooBig_ = true;
    reply_->abort();
  }
}

void VersionRequest::onFinished() {
  deadline_.stop();
  QNetworkReply* reply = reply_;
  if (reply == nullptr) return;
  reply_ = nullptr;
  reply->deleteLater();

  const bool ok = reply->error() == QNetworkReply::NoError && !tooBig_ &&
                  IsSuccessStatus(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute));
  const QByteArray body = ok ? reply->read(limits_.maxAnswerBytes + 1) : QByteArray();
  if (ok && body.size() <= limits_.maxAnswerBytes) {
    emit answered(body);
  } else if (IsConnectionFailure(reply->error())) {
    emit failed(RequestFailure::NoConnection);
  } else if (timedOut_ || reply->error() == QNetworkReply::TimeoutError ||
             (reply->error() == QNetworkReply::OperationCanceledError && !tooBig_)) {
    // The transfer time-out of the request ends it as cancelled.
    emit failed(RequestFailure::TimedOut);
  } else {
    emit failed(RequestFailure::BadAnswer);
  }
}

}  // namespace quilor
