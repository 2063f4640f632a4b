"""The one exception type that XKDTAZV hosts in Python catch."""


class XkdtazvError(Exception):
    """A call that failed: the failure's number and German description.

    number      the component's failure number (6 "Überlauf", 13 "Typen
                unverträglich", 92 for a call from the wrong thread), or the
                status itself when the component has no number for it
    description the German description, exactly as the component gives it
    status      the status the call returned (an HRESULT-like signed integer)
    member      the member or programmatic identifier the call was about
    """

    def __init__(self, number, description, status=None, member=None):
        super().__init__(number, description)
        self.number = number
        self.description = description
        self.status = status
        self.member = member

    def __str__(self):
        where = f" ({self.member})" if self.member else ""
        return f"{self.number}: {self.description}{where}"


class UnknownNameError(XkdtazvError, AttributeError):
    """A member name the object does not have."""
