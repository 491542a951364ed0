#pragma once

#include <gtest/gtest.h>
#include <QList>
#include <QWidget>
#include <stdexcept>

namespace vk7::test {

template <typename T>
T& Find(QWidget& root, const QString& name) {
  QList<T*> matches;
  for (T* child : root.findChildren<T*>()) {
    if (child->accessibleName() == name) matches.append(child);
  }
  if (matches.isEmpty()) {
    for (T* child : root.findChildren<T*>()) {
      if (child->objectName() == name) matches.append(child);
    }
  }
  if (matches.size() != 1) {
    throw std::runtime_error("expected one widget named '" + name.toStdString() + "' in " +
                             root.objectName().toStdString() + ", found " +
                             std::to_string(matches.size()));
  }
  return *matches.front();
}

}  // namespace vk7::test
