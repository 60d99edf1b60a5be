// Login page of the demo portal. ES3 only: the launcher's WebBrowser control runs
// pages in its oldest document mode.

function focusAccount() {
    var account = document.getElementById('account');
    if (account) {
        account.focus();
    }
}

// Tells the launcher to open the game view, then goes on to the game page. In an
// ordinary browser there is no launcher behind window.external, so the call fails
// and the page simply goes on.
function enterGame() {
    var account = document.getElementById('account').value;
    var server = document.getElementById('server').value;
    var player = account.replace(/^\s+|\s+$/g, '');
    if (player === '') {
        player = '游客';
    }
    try {
        window.external.enterGame();
    } catch (noLauncher) {
    }
    window.location.href = '/tovr/game?player=' + encodeURIComponent(player) + '&server=' + encodeURIComponent(server);
    return false;
}
