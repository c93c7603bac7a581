// Resources only; the library needs one translation unit.
