"""What every end-to-end case script reports a failed check with."""


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)
