// A very small idle game behind the demo portal's login. ES3 only, like the login page.

var stones = 0;
var level = 1;
var levelNames = ['炼气', '筑基', '金丹', '元婴', '化神'];
var serverNames = {'1': '一区 · 青龙', '2': '二区 · 白虎', '3': '三区 · 朱雀'};

function queryValue(name) {
    var pairs = window.location.search.substring(1).split('&');
    for (var i = 0; i < pairs.length; i++) {
        var pair = pairs[i].split('=');
        if (pair[0] === name && pair.length > 1) {
            return decodeURIComponent(pair[1].replace(/\+/g, ' '));
        }
    }
    return '';
}

function setText(id, text) {
    var element = document.getElementById(id);
    while (element.firstChild) {
        element.removeChild(element.firstChild);
    }
    element.appendChild(document.createTextNode(text));
}

function levelName() {
    var stage = Math.min(Math.floor((level - 1) / 9), levelNames.length - 1);
    var layer = ((level - 1) % 9) + 1;
    var digits = ['一', '二', '三', '四', '五', '六', '七', '八', '九'];
    return levelNames[stage] + digits[layer - 1] + '层';
}

function note(text) {
    var log = document.getElementById('log');
    var item = document.createElement('li');
    item.appendChild(document.createTextNode(text));
    log.insertBefore(item, log.firstChild);
    while (log.childNodes.length > 12) {
        log.removeChild(log.lastChild);
    }
}

function show() {
    setText('stones', String(stones));
    setText('level', levelName());
}

function gather() {
    var found = 1 + Math.floor(Math.random() * 3);
    stones += found;
    note('采得灵石 ' + found + ' 枚。');
    show();
}

function cultivate() {
    if (stones < 10) {
        note('灵石不足，尚需 ' + (10 - stones) + ' 枚。');
        return;
    }
    stones -= 10;
    level += 1;
    note('闭关修炼，突破至' + levelName() + '！');
    show();
}

function startGame() {
    var player = queryValue('player');
    var server = serverNames[queryValue('server')];
    if (player !== '') {
        setText('player', player);
    }
    if (server) {
        setText('server', server);
    }
    note('欢迎来到青龙纪元。');
    show();
}
