#include "SingleInstance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace quilor {

SingleInstance::SingleInstance(const QString& name) {
  const QByteArray id = name.toUtf8();
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (static_cast<size_t>(id.size()) + 1 > sizeof address.sun_path) {
    throw std::invalid_argument("instance name too long");
  }
  // A leading zero byte puts the name in the abstract namespace: no file.
  std::memcpy(address.sun_path + 1, id.constData(), static_cast<size_t>(id.size()));
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + id.size());

  fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) throw std::runtime_error(std::string("socket: ") + std::strerror(errno));
  if (::bind(fd_, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
    const int error = errno;
    ::close(fd_);
    fd_ = -1;
    if (error != EADDRINUSE) throw std::runtime_error(std::string("bind: ") + std::strerror(error));
  }
}

SingleInstance::~SingleInstance() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace quilor
