#include "images/thumbnail.h"

#include <new>
#include <utility>

THUMBNAIL::THUMBNAIL(const THUMBNAIL& other)
    : id(other.id), index(other.index), path(other.path), prev(other.prev), next(other.next) {
    if (!other.image.isNull() && !image.copyFrom(other.image))
        throw std::bad_alloc(); // a record without its picture would be a different record
}

THUMBNAIL& THUMBNAIL::operator=(const THUMBNAIL& other) {
    if (this == &other)
        return *this;
    CDibImage picture;
    if (!other.image.isNull() && !picture.copyFrom(other.image))
        throw std::bad_alloc();
    id = other.id;
    index = other.index;
    image = std::move(picture);
    path = other.path;
    prev = other.prev;
    next = other.next;
    return *this;
}
